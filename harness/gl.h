// GLUT, OpenGL and GLU declarations in the order every platform accepts (on Windows
// freeglut's header brings in what gl.h needs first).
#pragma once

#include <GL/glut.h>
