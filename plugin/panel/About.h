// The About box: the product's name and version, what it does, and an OK
// button. Modal; not shown while the arrows editor is open.
#pragma once

// Shows the About box and returns when the user has closed it.
void ShowAboutBox();
