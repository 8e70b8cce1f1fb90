#include "protocol/linkstate.h"

CLinkState g_linkState;
