# A room's libraries and the include tree its code compiles against.
#
# Sources include each other as "room/File.h" from src/, so src/ itself cannot be
# on any include path: it would show every room to every other.  Instead each room
# gets a folder of its own in the build, ${CMAKE_BINARY_DIR}/include/<room>, holding
# links to its own folder and to those of the rooms beneath it, and nothing else.
# An include of a room above is then a missing file, at compile time.  The tree is
# made at configure time, so a clean checkout builds without a step of its own.

function(plover_include_tree room)
  set(tree ${CMAKE_BINARY_DIR}/include/${room})
  file(MAKE_DIRECTORY ${tree})
  # Links left by an earlier order of the rooms go first.
  file(GLOB stale LIST_DIRECTORIES true ${tree}/*)
  if(stale)
    file(REMOVE ${stale})
  endif()
  foreach(seen IN LISTS ARGN)
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${seen} ${tree}/${seen} SYMBOLIC)
  endforeach()
endfunction()

# plover_room(room beneath): plover_<room>_core, and on Windows plover_<room>_win,
# seeing `room` and the rooms listed beneath it, linked to the libraries of the room
# right beneath (which carry the rest).
function(plover_room room beneath)
  plover_include_tree(${room} ${beneath} ${room})
  set(core plover_${room}_core)
  add_library(${core} STATIC)
  # PUBLIC: what links a room compiles against its tree too, and every tree
  # beneath is a part of the tree above.
  target_include_directories(${core} PUBLIC ${CMAKE_BINARY_DIR}/include/${room})
  list(LENGTH beneath count)
  if(count GREATER 0)
    list(GET beneath -1 below)
    target_link_libraries(${core} PUBLIC plover_${below}_core)
  endif()
  if(WIN32)
    set(win plover_${room}_win)
    add_library(${win} STATIC)
    target_link_libraries(${win} PUBLIC ${core})
    if(count GREATER 0)
      target_link_libraries(${win} PUBLIC plover_${below}_win)
    else()
      target_compile_definitions(${win} PUBLIC ${plover_win_definitions})
    endif()
  endif()
endfunction()
