# The project's sample timelines seed the run beside the hand-made corpus.
if(TARGET marrowvale_otio)
  file(GLOB otio_import_samples CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/samples/*.otio)
  marrowvale_fuzzer(otio_import DEPENDS marrowvale_otio SEEDS ${otio_import_samples})
endif()
