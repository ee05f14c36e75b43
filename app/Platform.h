#pragma once
// The seams live in platform/ now, below every window; this old path stays
// for code written against it until that code moves over.
#include "platform/Platform.h"
