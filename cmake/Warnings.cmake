# Warnings for all of our own code. The build is kept free of them; CI builds
# with -Werror so a new one fails the run instead of scrolling by.
option(ORVALE_WERROR "Treat compiler warnings as errors" OFF)

add_library(orvale_warnings INTERFACE)
target_compile_options(orvale_warnings INTERFACE
  -Wall -Wextra -Wpedantic
  -Wshadow              # a local hiding a member is how fields go stale
  -Wnon-virtual-dtor    # every polymorphic owner deletes through a base
  -Wold-style-cast
  -Woverloaded-virtual
  -Wnull-dereference
  -Wdouble-promotion    # the simulation is float; a double sneaking in changes results
  -Wformat=2
)
if(ORVALE_WERROR)
  target_compile_options(orvale_warnings INTERFACE -Werror)
endif()
