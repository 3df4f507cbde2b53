cmake_minimum_required(VERSION 3.25)
# Unpacks the x64 archive of dist/ into an emptied folder, as a user would,
# for the release tests. Without a release there is nothing to unpack.
#   cmake -DDIST=<dist> -DOUT=<folder> -P unpack_release.cmake
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
file(GLOB archives ${DIST}/TBQ-*-x64.zip)
if(archives)
  list(GET archives 0 archive)
  file(ARCHIVE_EXTRACT INPUT ${archive} DESTINATION ${OUT})
  message(STATUS "unpacked ${archive} into ${OUT}")
else()
  message(STATUS "no release in ${DIST}")
endif()
