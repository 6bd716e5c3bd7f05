# The program file's resources on Windows (icons, version, manifest), made
# from the templates in resources/windows with this project's version.
function(pebble_add_windows_resources target)
  set(PEBBLE_RESOURCE_DIR ${PROJECT_SOURCE_DIR}/resources)
  set(PEBBLE_MANIFEST ${PROJECT_BINARY_DIR}/pebbledrome.manifest)
  configure_file(${PROJECT_SOURCE_DIR}/resources/windows/pebbledrome.manifest.in ${PEBBLE_MANIFEST} @ONLY)
  configure_file(${PROJECT_SOURCE_DIR}/resources/windows/pebbledrome.rc.in
                 ${PROJECT_BINARY_DIR}/pebbledrome.rc @ONLY)
  target_sources(${target} PRIVATE ${PROJECT_BINARY_DIR}/pebbledrome.rc)
  target_link_libraries(${target} PRIVATE version)
endfunction()
