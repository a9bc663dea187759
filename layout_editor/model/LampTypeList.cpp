// The editor-wide lamp format list.
#include "LampTypeList.h"

CStringArray LampTypeList;

void ResetLampTypeList()
{
    LampTypeList.RemoveAll();
    LampTypeList.Add(L"RGB");
}
