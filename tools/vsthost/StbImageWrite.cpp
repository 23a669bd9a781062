// The one translation unit that holds stb_image_write's code. Files are
// written by our own code, so stb needs no stdio (nor its Windows file names).
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>
