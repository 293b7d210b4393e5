// Every suite family of the host interface.
#pragma once

#include "ADMSuites.h"
#include "AIMessages.h"
#include "AISuites.h"
#include "ATESuites.h"
#include "Platform.h"
#include "PluginExports.h"
#include "SPBasic.h"
