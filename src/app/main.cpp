#include "app/ApplicationSetup.h"

int main(int argc, char **argv)
{
    return menugeral::runMenu(argc, argv);
}
