# Run after each link of the browser game (cmake -P) with WEB_DIR and TEMPLATE: writes the service
# worker with the list of every file beside it and a version taken from their contents. Only real
# files are listed: a server need not answer for the folder itself.
file(GLOB_RECURSE web_files RELATIVE ${WEB_DIR} ${WEB_DIR}/*)
list(REMOVE_ITEM web_files service-worker.js)
list(SORT web_files)
set(listed "")
set(contents "")
foreach(web_file IN LISTS web_files)
    list(APPEND listed "'${web_file}'")
    file(SHA256 ${WEB_DIR}/${web_file} file_hash)
    string(APPEND contents "${web_file} ${file_hash}\n")
endforeach()
string(SHA256 version "${contents}")
string(SUBSTRING ${version} 0 16 KVELMORA_WEB_VERSION)
list(JOIN listed ", " KVELMORA_WEB_FILES)
configure_file(${TEMPLATE} ${WEB_DIR}/service-worker.js @ONLY)
