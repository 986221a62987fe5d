# One wing per feature (device, connection, settings, sms, phonebook, calls,
# wlan): a library target trelvan_<feature> over the framework and jCommon,
# never over another feature; the program on top (main/) links the wings.
#
#   trelvan_add_feature(<feature>
#     SOURCES <controllers, windows ...>
#     [CORE_SOURCES <record decoding, coders, state machines ...>])
#
# CORE_SOURCES, when given, make a second target trelvan_<feature>_core that
# links no AppKit layer, so its logic is tested without windows; the UI target
# links it. A wing whose windows are still to come may have CORE_SOURCES only:
# trelvan_<feature> then stands for its core.
set(TRELVAN_FRAMEWORK_CORE trelvan_jcommon trelvan_interfaces trelvan_msgcenter trelvan_config
    trelvan_service trelvan_utils trelvan_language trelvan_log)
set(TRELVAN_FRAMEWORK_UI trelvan_ui_controller trelvan_status)

function(trelvan_add_feature feature)
  cmake_parse_arguments(F "" "" "SOURCES;CORE_SOURCES" ${ARGN})
  set(target trelvan_${feature})
  if(F_CORE_SOURCES)
    add_library(${target}_core STATIC ${F_CORE_SOURCES})
    target_link_libraries(${target}_core PUBLIC ${TRELVAN_FRAMEWORK_CORE})
  endif()
  if(NOT F_SOURCES)
    add_library(${target} INTERFACE)
    target_link_libraries(${target} INTERFACE ${target}_core)
    return()
  endif()
  add_library(${target} STATIC ${F_SOURCES})
  if(F_CORE_SOURCES)
    target_link_libraries(${target} PUBLIC ${target}_core)
  endif()
  target_link_libraries(${target} PUBLIC ${TRELVAN_FRAMEWORK_CORE} ${TRELVAN_FRAMEWORK_UI})
endfunction()
