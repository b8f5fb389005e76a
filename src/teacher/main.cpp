#include "teacher.h"

int main(int argc, char **argv)
{
    return Teacher::run(argc, argv);
}
