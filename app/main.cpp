#include "app/Program.h"

int main(int argc, char** argv)
{
    return dedizo::runProgram(argc, argv);
}
