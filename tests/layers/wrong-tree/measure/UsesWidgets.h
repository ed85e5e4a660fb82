// A core header that needs Qt: the layer check must report it.
#pragma once
#include <QString>
#include "common/NumberText.h"
