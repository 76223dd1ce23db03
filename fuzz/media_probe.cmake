# Seed movies are made at build time by the ffmpeg tool: media is never committed.
if(TARGET marrowvale_media)
  set(media_seeds ${CMAKE_CURRENT_BINARY_DIR}/media_probe_seeds)
  file(MAKE_DIRECTORY ${media_seeds})
  add_custom_command(OUTPUT ${media_seeds}/sound.wav
                     COMMAND ${PROJECT_SOURCE_DIR}/scripts/make-media-seeds ${media_seeds}
                     DEPENDS ${PROJECT_SOURCE_DIR}/scripts/make-media-seeds
                     COMMENT "Making the media fuzz seeds")
  add_custom_target(media_probe_seeds ALL DEPENDS ${media_seeds}/sound.wav)
  marrowvale_fuzzer(media_probe DEPENDS marrowvale_media SEEDS ${media_seeds})
endif()
