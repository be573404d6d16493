# Fails when a file of the core includes a header of an operating system or a toolkit: the core
# reaches those only through the interfaces in platform/.
file(GLOB_RECURSE core_files
    ${ROOT}/app/*.h ${ROOT}/app/*.cpp ${ROOT}/config/*.h ${ROOT}/config/*.cpp
    ${ROOT}/monitor/*.h ${ROOT}/monitor/*.cpp ${ROOT}/shutdown/*.h ${ROOT}/shutdown/*.cpp
    ${ROOT}/log/*.h ${ROOT}/log/*.cpp ${ROOT}/ui/*.h ${ROOT}/ui/*.cpp
    ${ROOT}/update/*.h ${ROOT}/update/*.cpp)
file(GLOB interfaces ${ROOT}/platform/*.h)
list(APPEND core_files ${interfaces})
set(forbidden "#include[ \t]*[<\"](Q[A-Za-z]*|X11/[^>\"]*|xcb/[^>\"]*|windows\\.h|dbus/[^>\"]*|systemd/[^>\"]*|unistd\\.h|sys/[^>\"]*|fcntl\\.h|pwd\\.h|grp\\.h|platform/(fake|linux|qt|win32|stdfs)/[^>\"]*)[>\"]")
set(offenders "")
foreach(file IN LISTS core_files)
    file(STRINGS ${file} hits REGEX "${forbidden}")
    if(hits)
        list(APPEND offenders "${file}: ${hits}")
    endif()
endforeach()
if(offenders)
    message(FATAL_ERROR "The core includes platform headers:\n${offenders}")
endif()
