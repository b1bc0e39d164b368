# Writes the web folder's service worker from web/page/service_worker.js.in:
# the list of the folder's files, which it stores, and the name of its
# store, drive- and a hash of those files' names and contents, so that a
# folder rebuilt with any change, whatever its version, has a store of its
# own, which browsers that have visited fetch anew. The last step of
# assembling the folder (web/web.cmake), once every other file is in it:
#   cmake -DFOLDER=DIR -DTEMPLATE=service_worker.js.in -P service_worker.cmake
file(GLOB names LIST_DIRECTORIES false RELATIVE ${FOLDER} ${FOLDER}/*)
list(REMOVE_ITEM names service_worker.js)
list(SORT names)
set(sums "")
set(web_file_names "\"./\"") # the folder's address, answered as index.html
foreach(name ${names})
  file(SHA256 ${FOLDER}/${name} sum)
  string(APPEND sums "${name} ${sum}\n")
  string(APPEND web_file_names ", \"${name}\"")
endforeach()
# 16 hex digits: 64 bits, no two builds alike in practice.
string(SHA256 sum "${sums}")
string(SUBSTRING ${sum} 0 16 sum)
set(web_store drive-${sum})
configure_file(${TEMPLATE} ${FOLDER}/service_worker.js @ONLY)
