# Build switches. Sanitizers are chosen with KEYTUNE_SANITIZE, a comma list of
# "address", "undefined" and "thread" (thread cannot be combined with address).
option(KEYTUNE_BUILD_TESTS "Build the tests" ON)
option(KEYTUNE_BUILD_BENCHMARKS "Build the benchmarks" ON)
option(KEYTUNE_BUILD_FUZZERS "Build the libFuzzer targets (needs clang)" OFF)
set(KEYTUNE_SANITIZE "" CACHE STRING "Sanitizers: address,undefined | thread")

if(KEYTUNE_SANITIZE)
  string(REPLACE "," ";" _keytune_sanitizers "${KEYTUNE_SANITIZE}")
  foreach(_s IN LISTS _keytune_sanitizers)
    add_compile_options(-fsanitize=${_s})
    add_link_options(-fsanitize=${_s})
  endforeach()
  add_compile_options(-fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fno-sanitize-recover=all)
endif()

if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-Wall -Wextra -Wno-unused-parameter)
endif()
