#include "richtext/HeadlessConverter.h"

bool HeadlessConverter::handles(int, char**)
{
    return false;
}

int HeadlessConverter::run(int, char**)
{
    return 2;
}
