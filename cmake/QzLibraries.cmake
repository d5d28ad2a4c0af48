# The project's libraries: one per layer or subsystem, each linking only the ones below it.
# qz_library() records every library's folders and dependencies so that the build can also
# refuse a source that includes a header from a library it does not depend on (the linker
# alone misses inline code and headers used only for their types).
function(qz_library name)
  cmake_parse_arguments(L "" "" "DIRS;DEPS;PRIVATE_DEPS" ${ARGN})
  set(srcs)
  foreach(dir ${L_DIRS})
    file(GLOB_RECURSE found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${dir}/*.cpp)
    list(APPEND srcs ${found})
  endforeach()
  if(srcs)
    add_library(${name} STATIC ${srcs})
    target_link_libraries(${name} PUBLIC ${L_DEPS} PRIVATE ${L_PRIVATE_DEPS})
  else()
    # A subsystem whose folder is still empty keeps its place in the graph.
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${L_DEPS})
  endif()
  set_property(GLOBAL APPEND PROPERTY QZ_LIBRARIES ${name})
  set_property(GLOBAL PROPERTY QZ_DIRS_${name} ${L_DIRS})
  set_property(GLOBAL PROPERTY QZ_DEPS_${name} ${L_DEPS})
endfunction()

# Every project library a library may use: itself and whatever it links, transitively.
function(qz_reachable name out)
  set(seen ${name})
  set(todo ${name})
  while(todo)
    list(POP_FRONT todo lib)
    get_property(deps GLOBAL PROPERTY QZ_DEPS_${lib})
    foreach(dep ${deps})
      get_property(known GLOBAL PROPERTY QZ_DIRS_${dep} SET)
      if(known AND NOT dep IN_LIST seen)
        list(APPEND seen ${dep})
        list(APPEND todo ${dep})
      endif()
    endforeach()
  endwhile()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

# Writes the layer table (one line per folder: folder, then the folders it may include) and
# adds a target that checks every source against it on each build.
function(qz_layer_check)
  get_property(libs GLOBAL PROPERTY QZ_LIBRARIES)
  set(table "")
  foreach(lib ${libs})
    qz_reachable(${lib} reach)
    set(allowed "")
    foreach(r ${reach})
      get_property(dirs GLOBAL PROPERTY QZ_DIRS_${r})
      list(APPEND allowed ${dirs})
    endforeach()
    list(JOIN allowed "," allowed_text)
    get_property(dirs GLOBAL PROPERTY QZ_DIRS_${lib})
    foreach(dir ${dirs})
      string(APPEND table "${dir}=${allowed_text}\n")
    endforeach()
  endforeach()
  set(table_file ${PROJECT_BINARY_DIR}/layers.txt)
  file(WRITE ${table_file} ${table})
  add_custom_target(qz_layers ALL
    COMMAND ${CMAKE_COMMAND} -DTABLE=${table_file} -DSRC=${PROJECT_SOURCE_DIR}/src
            -P ${PROJECT_SOURCE_DIR}/cmake/check_layers.cmake
    COMMENT "Checking that every include stays inside its library's dependencies")
endfunction()
