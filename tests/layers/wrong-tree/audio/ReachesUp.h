// A core header that reaches into the window: the layer check must report it.
#pragma once
#include "app/Varnex.h"
