#version 100
precision mediump float;
// Textures are premultiplied by alpha and so are the vertex colours the
// callers write, so the two simply multiply.
uniform sampler2D image;
varying vec4 fragmentColour;
varying vec2 fragmentTexCoord;

void main() {
    gl_FragColor = texture2D(image, fragmentTexCoord) * fragmentColour;
}
