// Identifiers of the DLL's resources other than texts, shared by the resource compiler and
// the C++ code.
#pragma once

// The Tarvix icon: the first icon of the DLL, which the shell shows for "Tarvix.dll,0" too.
#define IDI_TARVIX 1
