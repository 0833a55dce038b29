/*
 * The maker's web site. The host name is the text of string 32, the caption
 * of the About dialog's web-site button and the address drawn on the skin
 * (the artwork generator reads it from here); the URL is what the
 * web-address key and that button open.
 */
#ifndef ORVANTA_SITE_H
#define ORVANTA_SITE_H

#define ORVANTA_HOST "www.orvanta.example"
#define ORVANTA_HOME_URL "http://" ORVANTA_HOST "/"

#endif
