#version 100
precision mediump float;
// Red and blue are sampled a little apart from green, spreading edges into
// colour fringes; "abberation" sets how far (0 for none).
uniform sampler2D image;
uniform sampler2D texture1;
uniform float abberation;
varying vec4 fragmentColour;
varying vec2 fragmentTexCoord;

void main() {
    vec2 offset = vec2(abberation * 0.003, 0.0);
    vec4 centre = texture2D(image, fragmentTexCoord);
    float red = texture2D(image, fragmentTexCoord + offset).r;
    float blue = texture2D(texture1, fragmentTexCoord - offset).b;
    gl_FragColor = vec4(red, centre.g, blue, centre.a) * fragmentColour;
}
