# The project's sample timelines seed the run beside the hand-made corpus.
file(GLOB otio_samples CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/samples/*.otio)
marrowvale_fuzzer(otio_schema DEPENDS marrowvale_otio_schema SEEDS ${otio_samples})
