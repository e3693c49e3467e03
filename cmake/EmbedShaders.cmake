# Writes a C++ source holding the desktop shader sources, so the program can
# still draw when no asset package could be mounted.
#   -DSHADER_DIR=... -DOUTPUT=...
set(names Shader GameBgShader Shader_HDR)
set(body "// Generated from assets/Shaders/110 by cmake/EmbedShaders.cmake; do not edit.\n")
string(APPEND body "#include \"engine/BuiltInShaders.h\"\n\n#include <cstring>\n\n")
string(APPEND body "const char* builtInShaderSource(const char* path) {\n")
foreach(name ${names})
  foreach(stage vsh fsh)
    file(READ ${SHADER_DIR}/${name}.${stage} source)
    string(APPEND body "    if (std::strcmp(path, \"Shaders/110/${name}.${stage}\") == 0) {\n")
    string(APPEND body "        return R\"orvale(${source})orvale\";\n    }\n")
  endforeach()
endforeach()
string(APPEND body "    return nullptr;\n}\n")
file(WRITE ${OUTPUT}.tmp "${body}")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
