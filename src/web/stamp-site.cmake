# Writes the site's files and a hash of their contents into the service
# worker the site was given, so that each build is a new worker with a cache
# of its own. Run as: cmake -DSITE=<site folder> -P stamp-site.cmake
file(GLOB_RECURSE files RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM files sw.js)
list(SORT files)
set(sums "")
set(names "")
foreach(name IN LISTS files)
  file(SHA256 ${SITE}/${name} sum)
  string(APPEND sums "${name} ${sum}\n")
  list(APPEND names "\"${name}\"")
endforeach()
string(SHA256 build "${sums}")
string(SUBSTRING ${build} 0 16 build)
list(JOIN names ", " names)
file(READ ${SITE}/sw.js template)
string(REPLACE "const Site = null; // written by the build: { build, files }"
  "const Site = { build: '${build}', files: [${names}] };" worker "${template}")
if(worker STREQUAL template)
  message(FATAL_ERROR "sw.js has no line for the build to write")
endif()
file(WRITE ${SITE}/sw.js "${worker}")
