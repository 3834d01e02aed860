# Command images and the tool-bar container, added to the app library named in LEVELORA_APP_LIB.
# The images come from the installed Breeze icon theme, read at build time into a generated Qt
# resource (the theme's files are not kept in the repository); images no theme has are ours, in
# images/. At run time the Qt SVG plugins (libqt6svg6) render them.
if(NOT LEVELORA_APP_LIB)
  message(FATAL_ERROR "CommandImages.cmake: set LEVELORA_APP_LIB to the app library target")
endif()

set(LEVELORA_BREEZE_DIR /usr/share/icons/breeze CACHE PATH "Root of the Breeze icon theme")

# One entry per image, in list order: "breeze:<path inside the theme>" or "own:<file in images/>".
set(levelora_tool_images
  own:open-folder-document.svg          # 0 actOpen
  own:flatbed-scanner.svg               # 1 actScan
  breeze:actions/16/document-save.svg   # 2 actSave
  own:crossed-tools.svg                 # 3 actOption
  own:exit-door.svg                     # 4 actClose
  breeze:actions/16/edit-undo.svg       # 5 actUndo
  breeze:actions/16/edit-copy.svg       # 6 actCopy
  breeze:actions/16/edit-paste.svg      # 7 actPaste
  breeze:actions/16/edit-cut.svg        # 8 actTrim
  own:mirror-left-right.svg             # 9 actMirror
  own:mirror-top-bottom.svg             # 10 actFlip
  breeze:actions/16/view-refresh.svg    # 11 actRotate
  own:loupe.svg                         # 12 actLoupe
  own:zoom-same.svg                     # 13 actZoomSame
  own:zoom-picture.svg                  # 14 actZoomAll
  own:zoom-plus.svg                     # 15 actZoomIn
  own:zoom-minus.svg                    # 16 actZoomOut
  breeze:actions/16/edit-find.svg       # 17 actZoomAs
  own:fit-window.svg                    # 18 actFitWindow
  own:set-square.svg                    # 19 actRevise
  own:help-book.svg                     # 20 actShowHelp
  breeze:actions/16/help-about.svg      # 21 actAbout
  own:windows-cascade.svg               # 22 actWinCascade
  own:windows-one-above-other.svg       # 23 actWinTileHorz
  own:windows-side-by-side.svg          # 24 actWinTileVert
)
set(levelora_rotate_images
  breeze:actions/16/object-rotate-left.svg         # 0 counter-clockwise
  breeze:actions/16/object-rotate-right.svg        # 1 clockwise
  own:level-horizontal.svg                         # 2 horizontal
  own:level-vertical.svg                           # 3 vertical
  breeze:actions/16/dialog-cancel.svg              # 4 cancel
)

function(levelora_image_entries list entries out)
  set(result "")
  set(index 0)
  foreach(entry IN LISTS entries)
    string(REGEX REPLACE "^([a-z]+):(.*)$" "\\1" origin "${entry}")
    string(REGEX REPLACE "^([a-z]+):(.*)$" "\\2" name "${entry}")
    if(origin STREQUAL "breeze")
      set(file ${LEVELORA_BREEZE_DIR}/${name})
    else()
      set(file ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/images/${name})
    endif()
    if(NOT EXISTS ${file})
      message(FATAL_ERROR "Command image ${list}/${index} not found: ${file}"
                          " (is the package breeze-icon-theme installed?)")
    endif()
    string(APPEND result "    <file alias=\"${list}/${index}.svg\">${file}</file>\n")
    math(EXPR index "${index} + 1")
  endforeach()
  set(${out} "${result}" PARENT_SCOPE)
endfunction()

levelora_image_entries(tools "${levelora_tool_images}" levelora_tool_entries)
levelora_image_entries(rotate "${levelora_rotate_images}" levelora_rotate_entries)
# The file name gives the resource its name, used by Q_INIT_RESOURCE in CommandImages.cpp.
set(levelora_images_qrc ${CMAKE_CURRENT_BINARY_DIR}/levelora_command_images.qrc)
file(CONFIGURE OUTPUT ${levelora_images_qrc} CONTENT
"<!DOCTYPE RCC><RCC version=\"1.0\">
  <qresource prefix=\"/levelora\">
${levelora_tool_entries}${levelora_rotate_entries}  </qresource>
</RCC>
")

target_sources(${LEVELORA_APP_LIB} PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/CommandImages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ToolBarContainer.cpp
  ${levelora_images_qrc})
set_target_properties(${LEVELORA_APP_LIB} PROPERTIES AUTORCC ON)
