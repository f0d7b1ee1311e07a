# The fuzz target bodies, as a library that the libFuzzer entries and the
# regression replay test both link; it needs no libFuzzer. Included from
# fuzz/ and from tests/, whichever comes first defines it.
if(TARGET imgtools_fuzz_bodies)
  return()
endif()
set(IMGTOOLS_FUZZ_DIR ${CMAKE_CURRENT_LIST_DIR})
add_library(imgtools_fuzz_bodies STATIC
  ${IMGTOOLS_FUZZ_DIR}/scratch_file.cpp
  ${IMGTOOLS_FUZZ_DIR}/disk_areas.cpp
  ${IMGTOOLS_FUZZ_DIR}/imgmint_arguments_fuzz_body.cpp
  ${IMGTOOLS_FUZZ_DIR}/d88_image_fuzz_body.cpp
  ${IMGTOOLS_FUZZ_DIR}/imgpoke_fuzz_body.cpp
  ${IMGTOOLS_FUZZ_DIR}/imgpeek_fuzz_body.cpp
  ${IMGTOOLS_FUZZ_DIR}/imgconv_fuzz_body.cpp
)
target_include_directories(imgtools_fuzz_bodies PUBLIC ${IMGTOOLS_FUZZ_DIR})
target_link_libraries(imgtools_fuzz_bodies PUBLIC imgtools_format imgtools_image imgtools_paste imgtools_peek imgtools_conv)
