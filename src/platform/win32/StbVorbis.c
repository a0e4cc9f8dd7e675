/* The Ogg Vorbis decoder, compiled once from the header that carries its implementation.
   Only the memory interface is used: the song never comes from a file. */
#define STB_VORBIS_NO_STDIO
#define STB_VORBIS_NO_PUSHDATA_API
#include <stb_vorbis.h>
