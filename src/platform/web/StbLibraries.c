/* The single-header libraries of Debian's libstb-dev, compiled once: fonts, JPEG pictures and
   the Ogg Vorbis song. Only memory interfaces are used; files are read by our own code. */
#define STB_TRUETYPE_IMPLEMENTATION
#include <stb_truetype.h>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#include <stb_image.h>

#define STB_VORBIS_NO_STDIO
#define STB_VORBIS_NO_PUSHDATA_API
#include <stb_vorbis.h>
