// The document template's empty view.
#include "dornel_view.h"

IMPLEMENT_DYNCREATE(CDornelView, CView)
