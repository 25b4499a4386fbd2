# Parsing Qt's headers is most of the compile time of every file that uses Qt. They are parsed
# once, into one precompiled header that every Qt target of the game and its tools reuses:
#   tessaly_qt_pch(target)
# The targets that reuse it must compile with the same flags, which holds for the game's Qt
# targets: one warning set, one build type, and Qt's own -fPIC. A file built with other flags is
# kept out of it (SKIP_PRECOMPILE_HEADERS). Where GCC refuses the header anyway, it says why
# (-Winvalid-pch, an error in the debug build) and reads the headers as ordinary ones.
option(TESSALY_PCH "Precompile Qt's headers once for all Qt targets" ON)

if(TESSALY_PCH)
  set(_anchor ${CMAKE_BINARY_DIR}/qt_pch_anchor.cpp)
  file(CONFIGURE OUTPUT ${_anchor} CONTENT "// Holds the precompiled Qt headers.\n")
  add_library(tessaly_qt_pch OBJECT ${_anchor})
  # GCC refuses a precompiled header made with a macro the user does not define, and every Qt
  # module defines its own (QT_GUI_LIB, ...): only Qt Core's are taken, which all users share;
  # the other modules lend just their header folders.
  target_link_libraries(tessaly_qt_pch PRIVATE Qt6::Core)
  set(TESSALY_QT_PCH_INCLUDES $<TARGET_PROPERTY:Qt6::Gui,INTERFACE_INCLUDE_DIRECTORIES>
                              $<TARGET_PROPERTY:Qt6::Widgets,INTERFACE_INCLUDE_DIRECTORIES>)
  target_include_directories(tessaly_qt_pch SYSTEM PRIVATE ${TESSALY_QT_PCH_INCLUDES})
  set_target_properties(tessaly_qt_pch PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
  tessaly_warnings(tessaly_qt_pch)
  # What the game's Qt files include most; a header named here but not used costs almost nothing.
  target_precompile_headers(tessaly_qt_pch PRIVATE
    <QAction>
    <QApplication>
    <QByteArray>
    <QColor>
    <QDir>
    <QFile>
    <QFont>
    <QFontDatabase>
    <QImage>
    <QLinearGradient>
    <QMainWindow>
    <QMenu>
    <QMenuBar>
    <QMessageBox>
    <QObject>
    <QPainter>
    <QPainterPath>
    <QPixmap>
    <QPointer>
    <QRadialGradient>
    <QString>
    <QStringList>
    <QThread>
    <QTimer>
    <QUrl>
    <QWidget>
    <algorithm>
    <array>
    <chrono>
    <cstdint>
    <functional>
    <memory>
    <optional>
    <string>
    <string_view>
    <vector>)
endif()

function(tessaly_qt_pch target)
  if(TARGET tessaly_qt_pch)
    target_precompile_headers(${target} REUSE_FROM tessaly_qt_pch)
    target_include_directories(${target} SYSTEM PRIVATE ${TESSALY_QT_PCH_INCLUDES})
    target_compile_options(${target} PRIVATE -Winvalid-pch)
  endif()
endfunction()
