# The counts and cue names of the resource folder, read from the header the game is built with,
# so that the generators' lists of output files cannot drift from what the game reads.
#   TESSALY_PICTURE_SET_COUNT, TESSALY_TILES_PER_SET, TESSALY_BACKGROUND_COUNT,
#   TESSALY_MUSIC_PIECE_COUNT and the list TESSALY_CUE_NAMES
set(_layout_header ${PROJECT_SOURCE_DIR}/game/resource_layout.h)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_layout_header})
file(READ ${_layout_header} _layout)

foreach(pair PictureSetCount:PICTURE_SET_COUNT TilesPerSet:TILES_PER_SET
             BackgroundCount:BACKGROUND_COUNT MusicPieceCount:MUSIC_PIECE_COUNT)
  string(REPLACE ":" ";" pair ${pair})
  list(GET pair 0 name)
  list(GET pair 1 variable)
  if(NOT _layout MATCHES "inline constexpr int32_t ${name} = ([0-9]+);")
    message(FATAL_ERROR "${_layout_header} does not give ${name}")
  endif()
  set(TESSALY_${variable} ${CMAKE_MATCH_1})
endforeach()

if(NOT _layout MATCHES "namespace cue {([^}]*)}")
  message(FATAL_ERROR "${_layout_header} does not list the cues")
endif()
string(REGEX MATCHALL "\"[A-Za-z]+\"" _cues "${CMAKE_MATCH_1}")
string(REPLACE "\"" "" TESSALY_CUE_NAMES "${_cues}")
