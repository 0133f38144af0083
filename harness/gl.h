// GLUT, OpenGL and GLU declarations in the order every platform accepts (on Windows
// freeglut's header brings in what gl.h needs first). The standard GLUT API only: a Windows
// build of freeglut installs no glut.h.
#pragma once

#include <GL/freeglut_std.h>
