#pragma once
// What a deployment of the program configures at build time (CMake cache variables, see
// docs/DEVELOPING.md): the web sites' hosts, the payee's address, and the texts of the about
// window that name the developer and the contact address.
namespace launch::deployment {

// Host of the product web site (the home page is http://<host>/default.asp).
extern const char* const kHomeHost;
// Host of the payment service that takes donations.
extern const char* const kPaymentHost;
// The payee's e-mail address, given to the payment service.
extern const char* const kPayee;
// The developer's name and the contact address the about window shows.
extern const char* const kDeveloper;
extern const char* const kContact;
// The caption of the about window's web-site button: the site's address as users know it.
extern const char* const kHomeCaption;

}  // namespace launch::deployment
