#pragma once

// Identifiers of the resources compiled into quorell.exe (quorell.rc). Plain macros: the resource
// compiler reads this header too.
#define QUORELL_ICON_APPLICATION 1
