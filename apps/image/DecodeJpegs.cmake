# cmake -DTOOL=minnespiegel-image -DDATA=<data folder> -DOUT=<folder> -P DecodeJpegs.cmake
# Writes every JPEG picture of DATA/gfx as OUT/<name>.ppm, decoded by the picture tool.
file(MAKE_DIRECTORY ${OUT})
file(GLOB pictures ${DATA}/gfx/*.jpg)
foreach(picture IN LISTS pictures)
  get_filename_component(name ${picture} NAME_WE)
  execute_process(COMMAND ${TOOL} ${picture} ${OUT}/${name}.ppm OUTPUT_QUIET RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "${picture}: the picture tool failed")
  endif()
endforeach()
