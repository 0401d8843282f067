#include "app/MainProgram.h"
#include "richtext/HeadlessConverter.h"

int main(int argc, char* argv[])
{
    if (HeadlessConverter::handles(argc, argv))
        return HeadlessConverter::run(argc, argv);
    return MainProgram::run(argc, argv);
}
