#version 100
precision mediump float;
// Textures are premultiplied by alpha, so the vertex colour is too: a fade
// dims colour and coverage together.
uniform sampler2D image;
varying vec4 fragmentColour;
varying vec2 fragmentTexCoord;

void main() {
    vec4 tint = vec4(fragmentColour.rgb * fragmentColour.a, fragmentColour.a);
    gl_FragColor = texture2D(image, fragmentTexCoord) * tint;
}
