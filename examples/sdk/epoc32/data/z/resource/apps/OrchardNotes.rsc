demo resource
