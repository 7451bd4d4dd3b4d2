# Warnings and sanitizers for every target of the project (not for third-party code).
add_library(zunta_warnings INTERFACE)
# Designated initializers that leave members at their defaults are intended, not a slip.
target_compile_options(zunta_warnings INTERFACE -Wall -Wextra -Wpedantic -Wno-missing-field-initializers)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  # GCC 12 reports a false -Wrestrict inside std::string concatenation when optimising
  # (GCC bug 105329).
  target_compile_options(zunta_warnings INTERFACE -Wno-restrict)
endif()
if(ZUNTA_WERROR)
  target_compile_options(zunta_warnings INTERFACE -Werror)
endif()

if(ZUNTA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

if(ZUNTA_FUZZ)
  # Every library is instrumented for coverage; only the fuzz targets link libFuzzer's main.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# Test data is found through this definition, so tests run from any folder. Under Wine the
# Unix root is drive Z:.
set(ZUNTA_TEST_DATA_DIR "${CMAKE_SOURCE_DIR}/tests/data")
if(WIN32 AND CMAKE_CROSSCOMPILING)
  set(ZUNTA_TEST_DATA_DIR "Z:${ZUNTA_TEST_DATA_DIR}")
endif()

if(WIN32)
  # One self-contained .exe: Wine finds no MinGW runtime DLLs beside it otherwise.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()
