# The files minnespiegel-assetgen writes, relative to the folder it is given.
set(MINNE_ASSET_FILES resource.dat icon/minnespiegel.ico gfx/tor.bmp gfx/eingabe.bmp gfx/mi_titel2.jpg
    gfx/mi_einstellungen.jpg gfx/mi_help.jpg gfx/mb_back.bmp gfx/mb_music.bmp gfx/mb_gender.bmp
    gfx/mb_zurueck.bmp gfx/mb_einstellungen.bmp gfx/mb_internet.bmp gfx/mb_hilfe.bmp gfx/mb_start.bmp
    gfx/mb_ende.bmp gfx/cursor.bmp)
foreach(n RANGE 1 4)
  list(APPEND MINNE_ASSET_FILES gfx/landschaft${n}.jpg)
endforeach()
foreach(k RANGE 0 9)
  list(APPEND MINNE_ASSET_FILES gfx/f1_${k}.bmp gfx/f2_${k}.bmp)
endforeach()
foreach(k RANGE 0 66)
  list(APPEND MINNE_ASSET_FILES gfx/m1_${k}.bmp)
endforeach()
foreach(k RANGE 0 5)
  list(APPEND MINNE_ASSET_FILES gfx/menu_${k}.bmp gfx/Wait_${k}.bmp)
endforeach()

# The files of minnespiegel-assetgen --icons OUTDIR APPID, relative to OUTDIR.
function(minne_icon_files app_id out)
  set(files WindowIcon.h)
  foreach(size 16 32 48 64 128 256)
    list(APPEND files hicolor/${size}x${size}/apps/${app_id}.png)
  endforeach()
  set(${out} ${files} PARENT_SCOPE)
endfunction()
