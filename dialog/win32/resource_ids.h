/* Resource ids shared by quenda.rc and the code that loads the resources. Plain macros and an
   include guard, because the resource compiler reads this file too. */
#ifndef QUENDA_RESOURCE_IDS_H
#define QUENDA_RESOURCE_IDS_H

#define QUENDA_ICON 1
#define QUENDA_HAND_CURSOR 2
#define QUENDA_LOGO_GIF 3

#endif
