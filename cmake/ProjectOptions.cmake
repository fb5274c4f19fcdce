# Options every target of the project shares: language level, warnings, Qt defines.
set(CMAKE_EXPORT_COMPILE_COMMANDS ON)

option(QUADRIGO_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)
option(QUADRIGO_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

add_library(project_options INTERFACE)
target_compile_features(project_options INTERFACE cxx_std_20)
target_compile_options(project_options INTERFACE
    -Wall -Wextra -Wshadow -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual)
target_compile_definitions(project_options INTERFACE
    QT_NO_CAST_TO_ASCII QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QUADRIGO_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
    QUADRIGO_VERSION_MINOR=${PROJECT_VERSION_MINOR}
    QUADRIGO_VERSION_PATCH=${PROJECT_VERSION_PATCH})

if(QUADRIGO_WARNINGS_AS_ERRORS)
    target_compile_options(project_options INTERFACE -Werror)
endif()

if(QUADRIGO_SANITIZE)
    target_compile_options(project_options INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(project_options INTERFACE -fsanitize=address,undefined)
endif()
