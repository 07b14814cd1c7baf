#include "shell/application.h"

int main(int argc, char *argv[])
{
    return pellomar::runApplication(argc, argv);
}
