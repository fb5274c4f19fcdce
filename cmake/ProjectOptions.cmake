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

# A faster linker when the machine has one: dozens of test executables are relinked after every
# change of the libraries.
include(CheckLinkerFlag)
foreach(linker IN ITEMS mold lld)
    check_linker_flag(CXX "-fuse-ld=${linker}" QUADRIGO_HAS_LINKER_${linker})
    if(QUADRIGO_HAS_LINKER_${linker})
        target_link_options(project_options INTERFACE "-fuse-ld=${linker}")
        break()
    endif()
endforeach()

# Headers nearly every file includes, compiled once per library instead of once per file.
set(QUADRIGO_LOGIC_PCH <QByteArray> <QDir> <QFile> <QHash> <QList> <QObject> <QSqlDatabase>
    <QSqlQuery> <QString> <QStringList> <QVariant> <array> <functional> <memory> <vector>)
set(QUADRIGO_GUI_PCH ${QUADRIGO_LOGIC_PCH} <QApplication> <QCheckBox> <QDialog> <QGridLayout>
    <QHBoxLayout> <QLabel> <QLineEdit> <QPushButton> <QVBoxLayout> <QWidget>)
