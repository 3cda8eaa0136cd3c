# The library for other programs: `cmake --install` puts the headers, the core and analysis
# libraries of both programs, a CMake package (find_package(kelvane CONFIG), target
# kelvane::kelvane) and a pkg-config file (kelvane.pc) under the prefix. No console, command line
# or plotting code is installed.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(kelvane_libraries clonal_core kelvane_core kelvane_analysis marsyl_core marsyl_analysis)
# Installed names that say whose they are.
set_target_properties(clonal_core PROPERTIES OUTPUT_NAME kelvane_common)

# kelvane::kelvane: the program took the name kelvane in this build.
add_library(kelvane_library INTERFACE)
add_library(kelvane::kelvane ALIAS kelvane_library)
set_target_properties(kelvane_library PROPERTIES EXPORT_NAME kelvane)
target_link_libraries(kelvane_library INTERFACE ${kelvane_libraries})
target_compile_features(kelvane_library INTERFACE cxx_std_20)

install(TARGETS ${kelvane_libraries} kelvane_library EXPORT kelvaneTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(EXPORT kelvaneTargets NAMESPACE kelvane::
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/kelvane)

# The headers of the core that the public headers name, and those these name in turn, by their
# paths from src/: the public interface and what it needs, and none of the core's internals.
# Editing a header reads them again.
function(public_core_headers result)
  file(GLOB_RECURSE pending ${PROJECT_SOURCE_DIR}/include/*.hpp)
  set(seen ${pending})
  set(core "")
  while(pending)
    list(POP_FRONT pending file)
    file(STRINGS ${file} lines REGEX "^#include \"[^\"]+\"")
    foreach(line ${lines})
      string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" name "${line}")
      foreach(root include src)
        set(candidate ${PROJECT_SOURCE_DIR}/${root}/${name})
        if(EXISTS ${candidate})
          if(NOT candidate IN_LIST seen)
            list(APPEND seen ${candidate})
            list(APPEND pending ${candidate})
            if(root STREQUAL "src")
              list(APPEND core ${name})
            endif()
          endif()
          break()
        endif()
      endforeach()
    endforeach()
  endwhile()
  set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${seen})
  set(${result} ${core} PARENT_SCOPE)
endfunction()

# The public headers and the core's headers they need, by their paths from include/ and src/,
# under one folder.
set(kelvane_include_root ${CMAKE_INSTALL_INCLUDEDIR}/kelvane)
install(DIRECTORY include/ DESTINATION ${kelvane_include_root} FILES_MATCHING PATTERN "*.hpp")
public_core_headers(core_headers)
foreach(header ${core_headers})
  get_filename_component(folder ${header} DIRECTORY)
  install(FILES ${PROJECT_SOURCE_DIR}/src/${header} DESTINATION ${kelvane_include_root}/${folder})
endforeach()

configure_package_config_file(cmake/kelvaneConfig.cmake.in
                              ${CMAKE_CURRENT_BINARY_DIR}/kelvaneConfig.cmake
                              INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/kelvane)
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/kelvaneConfigVersion.cmake
                                 VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/kelvaneConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/kelvaneConfigVersion.cmake
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/kelvane)

# The prefix found from where the file lies, so that `cmake --install --prefix P` works too.
file(RELATIVE_PATH kelvane_pc_to_prefix /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
configure_file(cmake/kelvane.pc.in ${CMAKE_CURRENT_BINARY_DIR}/kelvane.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/kelvane.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
