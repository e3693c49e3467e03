#version 100
// Textured, vertex-coloured quads and batches.
attribute vec4 position;
attribute vec4 colour;
attribute vec2 texture;
uniform mat4 modelViewProjectionMatrix;
uniform mat3 normalMatrix;
varying vec4 fragmentColour;
varying vec2 fragmentTexCoord;

void main() {
    fragmentColour = colour;
    fragmentTexCoord = texture;
    gl_Position = modelViewProjectionMatrix * position;
}
