#version 110

// A soft glow: the image blurred over a wide cross and brightened where it
// is bright, for the fill behind the game image.
uniform sampler2D image;
uniform sampler2D texture1;
uniform float abberation;
varying vec4 fragmentColour;
varying vec2 fragmentTexCoord;

void main() {
    vec4 sum = texture2D(image, fragmentTexCoord) * 0.2;
    for (int i = 1; i <= 4; i++) {
        float d = float(i) * 0.008;
        sum += texture2D(image, fragmentTexCoord + vec2(d, 0.0)) * 0.05;
        sum += texture2D(image, fragmentTexCoord - vec2(d, 0.0)) * 0.05;
        sum += texture2D(image, fragmentTexCoord + vec2(0.0, d)) * 0.05;
        sum += texture2D(image, fragmentTexCoord - vec2(0.0, d)) * 0.05;
    }
    vec3 glow = sum.rgb + sum.rgb * sum.rgb;
    gl_FragColor = vec4(glow, sum.a) * fragmentColour;
}
