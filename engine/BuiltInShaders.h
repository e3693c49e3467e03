#pragma once

// The desktop (GLSL 1.10) shader sources built into the program, by their
// package path ("Shaders/110/Shader.vsh"); null for any other path. Used
// only when no asset package is mounted, so the game still opens and runs.
const char* builtInShaderSource(const char* path);
