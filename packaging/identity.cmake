# Who the application is, in every package and metadata file. The version
# is the project's (top CMakeLists.txt); everything else is here, once.
set(CALC_PRODUCT_NAME "Orvalento")
set(CALC_PACKAGE_NAME "orvalento")
set(CALC_APP_ID "org.orvalento.Orvalento")
set(CALC_PUBLISHER "Orvalento developers")
set(CALC_MAINTAINER_EMAIL "maintainers@orvalento.invalid")
set(CALC_DEVELOPER_ID "org.orvalento")
set(CALC_SUMMARY "Work out the environmental compensation of a CO₂ emission")
# No licence has been granted for this program yet: all rights reserved.
set(CALC_LICENSE "LicenseRef-proprietary")
set(CALC_COPYRIGHT "Copyright © 2026 ${CALC_PUBLISHER}. All rights reserved.")
# There is no web site yet: .invalid (RFC 2606) is reserved to resolve
# nowhere, so no metadata points at a domain someone else could own.
set(CALC_WEB "https://orvalento.invalid")

# Windows Installer: fixed for the life of the product, so that every
# later MSI upgrades the installed one instead of installing beside it.
set(CALC_MSI_UPGRADE_CODE "3D075AC9-8F1D-405D-85A4-0BF6C39C37F6")
