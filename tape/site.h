/*
 * The maker's web site. The host name is the web-address key's text
 * (tape/keys.def, and string 32), the caption of the About dialog's web-site
 * button and the address drawn on the skin (the artwork generator reads it
 * from here); the URL is what the web-address key and that button open. The
 * host is a reserved test domain that belongs to no one, and short enough for
 * the About dialog's button.
 */
#ifndef ORVANTA_SITE_H
#define ORVANTA_SITE_H

#define ORVANTA_HOST "orvanta.test"
#define ORVANTA_HOME_URL "http://" ORVANTA_HOST "/"

#endif
