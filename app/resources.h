/*
 * The program's resource ids (res/resource.h) for code that also includes
 * <windows.h>, which has its own IDC_HAND (the system's hand cursor). Ours is
 * taken under the name IDC_KEY_CURSOR and the system's name left as it was.
 */
#ifndef ORVANTA_RESOURCES_H
#define ORVANTA_RESOURCES_H

#include <windows.h>

#pragma push_macro("IDC_HAND")
#undef IDC_HAND
#include "res/resource.h"
enum { IDC_KEY_CURSOR = IDC_HAND };
#undef IDC_HAND
#pragma pop_macro("IDC_HAND")

#endif
