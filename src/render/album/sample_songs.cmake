# The sample song and its lyrics, in yinyuegeci/ beside the orvane executable
# (where the open dialogs look first and where make demo takes them from).
set(sample_song_sources
  ${CMAKE_SOURCE_DIR}/assets/yinyuegeci/甜蜜蜜.mp3
  ${CMAKE_SOURCE_DIR}/assets/yinyuegeci/甜蜜蜜.lrc
  ${CMAKE_SOURCE_DIR}/assets/yinyuegeci/甜蜜蜜.ksc)
set(sample_song_outputs)
foreach(source ${sample_song_sources})
  get_filename_component(name ${source} NAME)
  set(output ${CMAKE_BINARY_DIR}/yinyuegeci/${name})
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${source} ${output}
    DEPENDS ${source}
    COMMENT "Sample song file ${name}"
    VERBATIM)
  list(APPEND sample_song_outputs ${output})
endforeach()
add_custom_target(sample_songs ALL DEPENDS ${sample_song_outputs})
