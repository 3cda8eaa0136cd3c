library(testthat)
library(kelvane)
test_check("kelvane")
