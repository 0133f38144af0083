# GLUT, GL and GLU for the Windows build: freeglut built statically from Debian's source
# package by tools/windows/build-freeglut, and the system's opengl32 and glu32.
set(FREEGLUT_WINDOWS_PREFIX "" CACHE PATH "Where build-freeglut installed the static freeglut")
find_library(FREEGLUT_STATIC_LIBRARY NAMES freeglut_static
             PATHS ${FREEGLUT_WINDOWS_PREFIX}/lib NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
find_path(FREEGLUT_INCLUDE_DIR GL/freeglut.h
          PATHS ${FREEGLUT_WINDOWS_PREFIX}/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)

add_library(OpenGL::GL INTERFACE IMPORTED)
set_target_properties(OpenGL::GL PROPERTIES INTERFACE_LINK_LIBRARIES opengl32)
add_library(OpenGL::GLU INTERFACE IMPORTED)
set_target_properties(OpenGL::GLU PROPERTIES INTERFACE_LINK_LIBRARIES glu32)
add_library(GLUT::GLUT STATIC IMPORTED)
set_target_properties(GLUT::GLUT PROPERTIES
  IMPORTED_LOCATION ${FREEGLUT_STATIC_LIBRARY}
  INTERFACE_INCLUDE_DIRECTORIES ${FREEGLUT_INCLUDE_DIR}
  INTERFACE_COMPILE_DEFINITIONS FREEGLUT_STATIC
  INTERFACE_LINK_LIBRARIES "opengl32;gdi32;winmm")

# One file per program: no MinGW runtime DLLs to carry along.
add_link_options(-static -static-libgcc -static-libstdc++)
