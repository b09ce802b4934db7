# The build keeps each folder to the libraries it links. Within a subsystem it
# cannot tell a plain algorithm from a command: both link the state library.
# This check does: only the command files listed here may include the
# application state, the Ui seam or the view geometry; everything else in the
# subsystems works on pictures and numbers alone.
#   cmake -DSOURCE_DIR=<src> -P StateUse.cmake
cmake_minimum_required(VERSION 3.25)
set(command_files
  image/EditCommands image/FileCommands image/RotationCommands
  extract/ChannelExtraction extract/DataPointList extract/ExtractDataPoints extract/PointEdits
  extract/PrepareTemplate extract/ThoroughExtraction extract/UnitCapture extract/UnmatchedInk
  output/AsciiFile output/DataFormats output/ExchangeList output/PointMarkers)
set(state_headers "state/AppState.h" "state/Ui.h" "state/Viewport.h")

file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR}
  ${SOURCE_DIR}/GraphDraw/*.h ${SOURCE_DIR}/GraphDraw/*.cpp ${SOURCE_DIR}/image/*.h ${SOURCE_DIR}/image/*.cpp
  ${SOURCE_DIR}/extract/*.h ${SOURCE_DIR}/extract/*.cpp ${SOURCE_DIR}/output/*.h ${SOURCE_DIR}/output/*.cpp)
list(LENGTH files count)
if(count LESS 50)
  message(FATAL_ERROR "only ${count} files found under ${SOURCE_DIR}")
endif()
set(faults "")
foreach(file IN LISTS files)
  string(REGEX REPLACE "\\.(h|cpp)$" "" stem ${file})
  if(stem IN_LIST command_files)
    continue()
  endif()
  file(STRINGS ${SOURCE_DIR}/${file} includes REGEX "^#include \"state/")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" header "${line}")
    if(header IN_LIST state_headers)
      string(APPEND faults "\n  ${file} includes ${header}")
    endif()
  endforeach()
endforeach()
if(faults)
  message(FATAL_ERROR "plain algorithms reaching for the application state:${faults}")
endif()
message(STATUS "${count} files of the subsystems checked")
