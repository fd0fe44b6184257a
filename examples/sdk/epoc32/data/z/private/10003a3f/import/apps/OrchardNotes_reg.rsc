demo registration resource
