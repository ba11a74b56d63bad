// The one application object of the program; the platform's entry point
// runs it.
#include "app/link_app.h"

ClLinkApp theApp;
