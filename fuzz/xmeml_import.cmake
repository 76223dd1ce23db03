# The project's own sample timelines are seeds as well as the hand-made corpus.
file(GLOB xmeml_samples CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/samples/*.xml)
marrowvale_fuzzer(xmeml_import DEPENDS marrowvale_xmeml marrowvale_model marrowvale_app_core
                  LibXml2::LibXml2
                  SEEDS ${xmeml_samples})
