#pragma once
// The lock protocols' client code, generated from protocols/.

#include "ext-session-lock-v1-client-protocol.h"
#include "fractional-scale-v1-client-protocol.h"
#include "viewporter-client-protocol.h"
#include "wlr-input-inhibitor-unstable-v1-client-protocol.h"
// The protocol names a parameter "namespace", a C++ keyword.
#define namespace surface_namespace
#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#undef namespace
